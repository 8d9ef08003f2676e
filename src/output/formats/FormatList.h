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

// The cutting machines, one line each, in the order --help and the export
// dialog list them. A machine is a file in this folder that defines
// `const CuttingMachine& Name()` with its formats, and its line here.
#define PW_CUTTING_MACHINES(X) \
    X(CricutMachine)           \
    X(SilhouetteMachine)       \
    X(ScanNCutMachine)         \
    X(LaserMachine)            \
    X(PlotterMachine)
