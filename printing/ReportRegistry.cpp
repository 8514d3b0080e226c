#include "printing/ReportRegistry.h"

#include "store/AppError.h"
#include "store/Expression.h"

void ReportRegistry::add(int code, RegisteredReport report)
{
    if (reports_.count(code))
        throw AppError(QStringLiteral("%1 kodlu rapor iki kez tanımlanmış.").arg(code));
    reports_.emplace(code, std::move(report));
}

PageSet ReportRegistry::run(int code, GlobalData& global, CompanyData* company,
                            const ReportOptions& options) const
{
    const auto it = reports_.find(code);
    if (it == reports_.end()) throw AppError(QStringLiteral("%1 kodlu bir rapor yok.").arg(code));
    const RegisteredReport& report = it->second;
    for (auto o = options.cbegin(); o != options.cend(); ++o) {
        const bool known =
            std::any_of(report.options.begin(), report.options.end(),
                        [&](const ReportOption& option) { return option.name == o.key(); });
        if (!known)
            throw AppError(
                QStringLiteral("%1 raporunun --%2 seçeneği yok.").arg(report.title, o.key()));
    }
    if (report.needsCompany && !company)
        throw AppError(QStringLiteral("%1 raporu için bir şirket seçilmeli.").arg(report.title));
    return report.run(global, company, options);
}

QDate reportDateOption(const ReportOptions& options, const QString& name, const QDate& fallback)
{
    if (!options.contains(name)) return fallback;
    const QDate date = parseDateLiteral(options.value(name));
    if (!date.isValid())
        throw AppError(QStringLiteral("Tarih hatalı: %1").arg(options.value(name)));
    return date;
}

double reportAmountOption(const ReportOptions& options, const QString& name, double fallback)
{
    if (!options.contains(name)) return fallback;
    bool ok = false;
    const double amount =
        QString(options.value(name)).remove(QLatin1Char(',')).trimmed().toDouble(&ok);
    if (!ok) throw AppError(QStringLiteral("Tutar hatalı: %1").arg(options.value(name)));
    return amount;
}

int reportChoiceOption(const ReportOptions& options, const QString& name, const QStringList& words,
                       int fallback)
{
    if (!options.contains(name)) return fallback;
    for (int i = 0; i < words.size(); ++i)
        if (words[i].compare(options.value(name), Qt::CaseInsensitive) == 0) return i;
    throw AppError(QStringLiteral("--%1 için %2 olabilir: %3")
                       .arg(name, words.join(QStringLiteral(", ")), options.value(name)));
}
