// Filters as users type them: tokenized and compiled against a table with every field kind.
#include "FuzzTarget.h"
#include "store/AppError.h"
#include "store/CompanySchema.h"
#include "store/Expression.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const TableDef& def = *findTableDef(companyTableDefs(), QStringLiteral("CarHar"));
    const QString text = QString::fromUtf8(fuzzBytes(data, size));
    try {
        tokenize(text);
        ConditionCompiler::compileFilter(text, def);
    } catch (const AppError&) {
    }
    return 0;
}

std::vector<QByteArray> fuzzSeeds()
{
    return {"Borc > 100 and Alacak = 0",
            "(Tarih >= '01.01.2026' or Tarih < 31.12.2025) and not Unvani = 'Şişli''nin'",
            "CARef <> 5 or Aciklama = \"İĞÜ\" and BelgeNo = 'A-1'",
            "Borc = 1.5e3 and Vadesi = 2026-12-09 and Adet <= -2"};
}
