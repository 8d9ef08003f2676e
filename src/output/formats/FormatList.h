#pragma once

// The export formats, one line each, in the order the save dialog, the
// messages and --help list them. A format is a file in this folder that
// defines `const ExportFormat& Name()`, and its line here.
#define PW_EXPORT_FORMATS(X) \
    X(BmpFormat)             \
    X(EmfFormat)             \
    X(SvgFormat)             \
    X(PdfFormat)             \
    X(FoldFormat)            \
    X(PatternDxfFormat)      \
    X(ReliefDxfFormat)
