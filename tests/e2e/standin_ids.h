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

// Posted to the main window: the stand-in stops handling messages for wParam
// milliseconds, as a viewer that hangs does.
#define kHangMessage (0x8000 + 1)  // WM_APP + 1
// Sent: answers how many controller buttons ran, or with kCountKeys how
// many key strokes arrived, since the start.
#define kCountMessage (0x8000 + 2)  // WM_APP + 2
#define kCountKeys 1
// Sent: the stand-in brings its open-file dialog (else its main window) to
// the front from its own thread, as a user's click would.
#define kComeToFrontMessage (0x8000 + 3)  // WM_APP + 3
