#pragma once
// Ids of the stand-in's open-file dialog (the standard dialog's control
// ids), and the messages a test sends the stand-in's main window.

#define kOpenDialogId 100
#define kPlacesBarId 0x04A0
#define kFileListId 0x0461
#define kFileNameLabelId 0x0442
#define kFileNameBoxId 0x047C
#define kFileTypeLabelId 0x0441
#define kFileTypeBoxId 0x0470
// The child of --counting-button.
#define kCountingButtonId 7

// Posted: the stand-in stops handling messages for wParam milliseconds, as a
// viewer that hangs does.
#define kHangMessage (0x8000 + 1)  // WM_APP + 1
// Sent: answers how many of what wParam names arrived since the start.
#define kCountMessage (0x8000 + 2)  // WM_APP + 2
#define kCountPresses 0     // controller buttons the plugin pressed
#define kCountKeys 1        // key strokes, whichever window they were for
#define kCountClickDowns 2  // left-button downs on the counting button
#define kCountClickUps 3    // left-button ups on it
// Sent: the stand-in brings its open-file dialog (else its main window) to
// the front from its own thread, as a user's click would.
#define kComeToFrontMessage (0x8000 + 3)  // WM_APP + 3
