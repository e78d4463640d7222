// Resource ids of the program. Numbered texts use their own numbers (101..282)
// as string ids; the ids below name the other resources.
#pragma once

#define IDB_SCROLL 1001      /* picture of the start window */
#define IDI_NOMARO 1         /* program icon */
#define IDB_MENU_HELP 110    /* menu picture: help topic */
#define IDB_MENU_ABOUT 113   /* menu picture: About box */
#define IDB_MENU_EXIT 114    /* menu picture: exit */
#define IDB_RENAME_IMAGE1 1002  /* rename window decoration */
#define IDB_RENAME_IMAGE2 1003  /* the same, under the mouse */
