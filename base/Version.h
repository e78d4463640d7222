// The program's version, taken from the build: "major.minor" ("3.1") as the
// window captions, the status bar and the page headers show it. A narrow
// literal, so that it joins the literals around it (L"Nomaro " NOMARO_SHORT_VERSION).
#pragma once

#define NOMARO_STRINGIFY_VALUE(x) #x
#define NOMARO_STRINGIFY(x) NOMARO_STRINGIFY_VALUE(x)
#define NOMARO_SHORT_VERSION NOMARO_STRINGIFY(NOMARO_VERSION_MAJOR) "." NOMARO_STRINGIFY(NOMARO_VERSION_MINOR)
