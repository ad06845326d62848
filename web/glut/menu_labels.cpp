// The menu labels for the page's HTML menu, which can show the Korean words
// themselves; the English gloss follows for those who do not read them.
#include "app/window.h"

const char* const insideMenuLabel = "집 안 (Inside)";
const char* const outsideMenuLabel = "집 밖 (Outside)";
