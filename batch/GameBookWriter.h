#pragma once
// Writes a game book: one self-contained HTML file with the diagrams as inline
// SVG (each with its FEN placement in its <desc>), or a PDF document whose
// diagrams are drawn with vector pieces.
#include <QString>
#include <string>
#include <vector>

#include "batch/GameBook.h"

namespace vorlix {

std::string GameBookHtml(const std::vector<TBookGame>& games, const TBookOptions& options, const QString& title);

// Writes the PDF through the crash-safe writer; false with a message naming the file.
bool WriteGameBookPdf(const std::vector<TBookGame>& games, const TBookOptions& options, const QString& fileName,
                      const QString& title, std::string& error);

// True for a name ending in .html or .htm (any case); a book of any other name is a PDF.
bool IsHtmlBookName(const QString& fileName);

// Writes the book as HTML or PDF, after the name's extension, titled after the
// PGN file; false with a message naming the file.
bool WriteGameBook(const std::vector<TBookGame>& games, const TBookOptions& options, const QString& fileName,
                   const QString& title, std::string& error);

}  // namespace vorlix
