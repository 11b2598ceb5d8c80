#pragma once
// Plain macros: this header is read by the resource compiler as well as by C++.

#define NIMBREL_VERSION_MAJOR 3
#define NIMBREL_VERSION_MINOR 7
#define NIMBREL_VERSION_PATCH 5
#define NIMBREL_VERSION_BUILD 1

#define NIMBREL_PRODUCT_NAME "Nimbrel"
#define NIMBREL_FILE_VERSION_TEXT "3.7.5.1"
// The short form in the window title.
#define NIMBREL_DISPLAY_VERSION_TEXT "3.75"

#define NIMBREL_WIDEN2(x) L##x
#define NIMBREL_WIDEN(x) NIMBREL_WIDEN2(x)
