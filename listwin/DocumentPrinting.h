// Printing a rich-text document page by page under a one-line page header.
#pragma once
#include <vector>

#include "listwin/PageLayout.h"
#include "ui/Printer.h"
#include "ui/RichText.h"

namespace listwin {

// Prints the first page's header: three blank lines, then at the width of 50
// blanks "Nomaro 3.1  Time: <time>Date: <date>Page: <page>", then a rule
// across the page under it.
void PrintFirstPageHeader(ui::Printer& printer, int pageNumber);

// `RenderDocumentPages`: prints the whole of `box` inside the margins (twips
// from the paper's edges) with the control's own page formatter, starting
// each following page with its header "NOMARO 3.1 Date: <date>Page: <n>"
// (`pageNumber` counts up once per new page), and ends the document. Where
// the formatter places no character on a page, the rest of the document is
// laid out and drawn by our own renderer in the same rectangle, so the job
// always ends and every character is printed once.
void RenderDocumentPages(ui::RichText& box, ui::Printer& printer, int& pageNumber, long leftMargin, long topMargin,
                         long rightMargin, long bottomMargin);

// The document's text in runs of one character format each.
std::vector<TextRun> DocumentRuns(const ui::RichText& box);

}  // namespace listwin
