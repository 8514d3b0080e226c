#pragma once

#include <QString>

class CompanyData;

// The total in words under the figures of a document: "Yalnız BİNİKİYÜZOTUZDÖRT  TL  ELLİ KR
// 'tur." Words in capitals, joined without blanks; hundredths truncated, not rounded. Negative
// amounts are written as their absolute value; an amount of 10^15 or more raises AppError.
QString AmountInWords(double amount, const QString& currency, const QString& subunit);
// The same with the currency words of the open company, read from its Ayar.ini at every call.
QString AmountInWords(const CompanyData& company, double amount);

// The amount-in-words report element's text: "Yalnız BİRBİNİKİYÜZOTUZDÖRT TL dir." The whole
// part only; zero writes no word.
QString YaziFloat(double value);
// Converting the element's caption (its Cevir property): the caption read as a number (a
// Turkish decimal comma accepted), truncated, and written in words; a caption that is not a
// number counts as 0.
QString CevirCaption(const QString& caption);
