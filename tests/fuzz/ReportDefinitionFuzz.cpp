// Report definitions as files: read, and what reads writes back to a definition that reads; a
// layout the designer's checks pass prints.
#include "FuzzTarget.h"
#include "printing/ReportBuilder.h"
#include "printing/ReportDesign.h"
#include "printing/ReportRenderer.h"
#include "store/AppError.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ReportDef def;
    try {
        def = ReportDef::fromJson(fuzzBytes(data, size));
    } catch (const AppError&) {
        return 0;
    }
    try {
        ReportDef::fromJson(def.toJson());
    } catch (const AppError&) {
        std::abort(); // a definition that loaded must save to one that loads
    }
    if (!ReportDesign::layoutFault(def, {QStringLiteral("DetailBand1BeforePrint")}).isEmpty())
        return 0;
    try {
        ReportRenderer renderer(def, nullptr);
        renderer.setCopies(3);
        renderer.render();
    } catch (const AppError&) {
        // an expression naming a field prints nothing without a table; a fault is named
    }
    return 0;
}

std::vector<QByteArray> fuzzSeeds()
{
    using namespace ReportBuilder;
    ReportDef def = standardReport(QStringLiteral("Deneme"), QStringLiteral("Cari Liste"), false,
                                   QStringLiteral("Alt başlık"));
    def.bands.push_back(
        band(BandKind::Detail, QStringLiteral("Detay"), 5,
             {field(QStringLiteral("Kod"), QRectF(0, 0, 25, 5), QStringLiteral("CariNo")),
              right(expression(QStringLiteral("Tutar"), QRectF(100, 0, 30, 5),
                               QStringLiteral("Borc - Alacak"), QStringLiteral("#,##0.00")))}));
    // Every item the designer makes.
    ReportDef designed = def;
    for (int tool = 1; tool < ReportDesign::kToolCount; ++tool)
        ReportDesign::create(designed, tool, tool <= 5 ? -1 : 1, QPointF(tool, 0.5), 0);
    return {def.toJson(), designed.toJson()};
}
