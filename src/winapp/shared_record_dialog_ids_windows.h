#pragma once
// The identifiers of the "Shared Record" dialog, shared by its resource
// script and its code (plain macros: the resource compiler reads this too).

#define VX_SHARED_RECORD_DIALOG 100
#define VX_DATA_SOURCE_LIST 101
#define VX_CONNECTION_FIELD 102
#define VX_DATA_SOURCE_LABEL 103
#define VX_CONNECTION_LABEL 104
#define VX_PASSWORD_LABEL 105
#define VX_PASSWORD_FIELD 106
