#pragma once
// The identifiers of the "Check Printed Number" entry box, shared by its
// resource script and its code (plain macros: the resource compiler reads
// this too).

#define VX_PRINTED_NUMBER_DIALOG 200
#define VX_PRINTED_NUMBER_PROMPT 201
#define VX_PRINTED_NUMBER_FIELD 202
