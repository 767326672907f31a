#pragma once
// The identifiers of the dialog of "Export…", shared by its resource script
// and its code (plain macros: the resource compiler reads this too).

#define VX_EXPORT_LAYOUT_DIALOG 300
#define VX_EXPORT_LAYOUT_LABEL 301
#define VX_EXPORT_LAYOUT_LIST 302
#define VX_EXPORT_EM4100_LABEL 303
#define VX_EXPORT_EM4100_LIST 304
#define VX_EXPORT_BOM_BOX 305
