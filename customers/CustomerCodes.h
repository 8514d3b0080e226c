#pragma once

#include "app/CodeField.h"

#include <functional>
#include <optional>
#include <vector>

class CompanyData;

// What customer code fields ask for: any card, or bank cards only (the check and note windows'
// bank fields). Picked from the customer pick list; a new card opens with the typed code.
const CodeKind& customerCodes();
const CodeKind& bankCodes();

// What a document copies from a customer card: code, title, business address, tax office and
// number.
struct CardAddress {
    QString code, title, adres1, adres2, adres3, vd, vdNo;
};
std::optional<CardAddress> cardAddress(CompanyData& company, qint64 customerId);

class EntryWindow;
// Shows a card's code and title in a window's field `codeField` and the one after it, and (when
// `address`) the three address lines, tax office and number in the five fields after those.
void showCardAddress(EntryWindow& window, int codeField, const CardAddress& card, bool address);
// A document header's customer code field (`codeField`, the title after it, then the address
// and tax fields): after every look-up the card found shows as above, its address only while
// `address()` says so; no card empties the title.
void followCustomerCode(EntryWindow& window, CodeField* code, int codeField,
                        std::function<bool()> address);
// The seven fields of a document header's customer: "Cari kart nosu : ", "Ünvanı : ", the three
// address lines, "Vergi dairesi : " and "Vergi hesap no : ", with their hints.
struct FieldSpec;
std::vector<FieldSpec> customerHeaderFields();
// The code and title of a stored document: off and skipped.
void lockCustomerCode(EntryWindow& window, int codeField);
