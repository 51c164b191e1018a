#pragma once
// Texts of the report engine, the Print dialog and the preview.

namespace quoxa::msg {

// Report engine.
inline constexpr const char* kNoPrinter = "No printer installed!";
inline constexpr const char* kPaperWidth = "Insufficient paper width.\nChange left/right margin";
inline constexpr const char* kPaperHeight = "Insufficient paper height\nChange top/bottom margin";
inline constexpr const char* kBeginFailed = "Unable to begin printing.";
inline constexpr const char* kEndFailed = "Unable to finish printing.";
inline constexpr const char* kAbortFailed = "Unable to abort printing.";
inline constexpr const char* kNewPageFailed = "Unable to print a new page.";
inline constexpr const char* kNewLineFailed = "Unable to print a new line.";
inline constexpr const char* kPrintingPage = "Printing Page %d of %d";

// Hex dump job and Print dialog.
inline constexpr const char* kInsufficientPaper =
    "Insufficient paper width/height. Change settings\nMargins/Font size/Orientation/Bytes per row\n"
    "or select \"Print text below\".";
inline constexpr const char* kBytesPerRowRange = "Bytes per row must be a number from 1 to %d.";
inline constexpr const char* kGeneratingPreview = "Generating Preview...";
inline constexpr const char* kProgressPage = "Page: %d";
inline constexpr const char* kSaveOutputTitle = "Save output to file";
inline constexpr const char* kTextFilter = "*.txt";
inline constexpr const char* kOutputBy = "Output by QUOXA - ";
inline constexpr const char* kPrintedBy = "Printed by QUOXA - ";

// The PDF printer and the preview.
inline constexpr const char* kPdfPrinterName = "PDF file";
inline constexpr const char* kSavePdfTitle = "Save PDF file as";
inline constexpr const char* kPdfFilter = "*.pdf";
inline constexpr const char* kPageOf = "Page %d of %d";
inline constexpr const char* kPrintingCaption = "Printing...";

}  // namespace quoxa::msg

namespace quoxa {

// The program's web address, named in the dump's header and footer lines.
inline constexpr const char* kProgramWebAddress = "https://quoxa.example.org";

}  // namespace quoxa
