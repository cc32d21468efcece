// Resource identifiers shared by the resource script and the program.
#pragma once

// The program's icon: a black beetle with an olive outline, 32 x 32, 16 colours.
#define APP_ICON_ID 101
