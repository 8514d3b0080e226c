#pragma once

#include <QString>

struct sqlite3;

// Turkish alphabetical order (A B C Ç D E F G Ğ H I İ J … O Ö P … S Ş T U Ü V … Z) with the
// Turkish case pairs i/İ and ı/I. Letters sort after digits and punctuation.
namespace TurkishCollation {

// Case-insensitive comparison of two UTF-8 strings: "çelik" < "dam", "IŞIK" == "ışık".
int compareFolded(const char* a, int lengthA, const char* b, int lengthB);
// The same order, but strings that differ only in case are told apart (by their bytes).
int compareCased(const char* a, int lengthA, const char* b, int lengthB);

int compare(const QString& a, const QString& b, bool caseInsensitive = true);

// Registers TRK_CI and TRK_CS on a database handle; throws AppError on failure.
void registerOn(sqlite3* handle);

inline constexpr const char* kFolded = "TRK_CI";
inline constexpr const char* kCased = "TRK_CS";

} // namespace TurkishCollation
