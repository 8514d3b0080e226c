#pragma once

#include "app/CodeField.h"

// What stock code fields ask for: any card, picked from "Stok kart listesi"; a new card opens
// with the typed code.
const CodeKind& stockCodes();
// The same for a document line's stock code: an unknown code is "Stok kartı bulunamadı".
const CodeKind& lineStockCodes();
