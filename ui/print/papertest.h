// A practice test on paper: the drawn questions with their figures, laid out
// page by page on a printer or a PDF file, and its answer key.
#pragma once

#include "core/bank.h"

#include <QImage>
#include <QPageSize>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QPagedPaintDevice;

namespace korvell {

struct PaperSheet {
    std::uint64_t Number = 0;
    std::vector<std::pair<std::string, const QueRec*>> Ques; // identifier and record, exam order
    std::vector<std::pair<std::string, QImage>> Figures;     // by name, loaded once
};

// What stops a test from being made: the file concerned and what is wrong with it.
struct PaperProblem {
    std::string File;
    std::string Message;
};

// Draws test Number from the bank (whose section table has been read) and
// loads the figures its questions name from the bank's directory. A table
// that does not list the exam groups, a drawn question the pool lacks or a
// figure that cannot be read is a problem, and no sheet is made.
std::optional<PaperProblem> MakePaperSheet(const Bank& B, std::uint64_t Number, PaperSheet& Out);

// Lays the sheet out on Device; false when the device cannot be painted on.
bool PrintPaperSheet(const PaperSheet& Sheet, QPagedPaintDevice& Device);

// Writes the sheet as a PDF file at Path: whole or not at all.
std::optional<PaperProblem> WritePaperPdf(const PaperSheet& Sheet, const std::string& Path);

// The system's default paper: PAPERSIZE, else the file PAPERCONF or
// /etc/papersize names; else Letter where the locale measures in US units, A4
// elsewhere.
QPageSize DefaultPaperSize();

} // namespace korvell
