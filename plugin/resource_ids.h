#pragma once
// Resource numbers of the plugin; read by the compiler and the resource compiler.

#define IDB_CONTROLLER 20     /* the picture of the remote, 80 x 304 */
#define IDB_SELBUTTONS 21     /* highlight shapes of pressed buttons, 120 x 38 */
