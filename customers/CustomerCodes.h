#pragma once

#include "app/CodeField.h"

// What customer code fields ask for: any card, or bank cards only (the check and note windows'
// bank fields). Picked from the customer pick list; a new card opens with the typed code.
const CodeKind& customerCodes();
const CodeKind& bankCodes();
