// Resource ids of the program. Numbered texts use their own numbers (101..282)
// as string ids; the ids below name the other resources.
#pragma once

#define IDB_SCROLL 1001      /* picture of the start window */
#define IDI_NOMARO 1         /* program icon */
