#pragma once
// Ids of the stand-in's open-file dialog: the standard dialog's control ids.

#define kOpenDialogId 100
#define kPlacesBarId 0x04A0
#define kFileListId 0x0461
#define kFileNameLabelId 0x0442
#define kFileNameBoxId 0x047C
#define kFileTypeLabelId 0x0441
#define kFileTypeBoxId 0x0470
