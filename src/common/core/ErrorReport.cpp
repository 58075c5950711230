#include "ErrorReport.h"

#include "Prompter.h"
#include "StringTable.h"

namespace ardl {

namespace {
constexpr int kErrorTitle = 101;   // "Error"
}

QString ErrorReportText(int number, const QString &description, const QString &location, int line)
{
    return LoadResString(kErrorTitle) + u' ' + QString::number(number) + QLatin1String(": ")
         + description + QLatin1String("\r\n") + location + QLatin1String("\r\n")
         + QLatin1String("The error occured at line: ") + QString::number(line);
}

void ReportError(int number, const QString &description, const QString &location, int line)
{
    prompter().message(ErrorReportText(number, description, location, line),
                       LoadResString(kErrorTitle), MsgIcon::Critical, MsgButtons::Ok);
}

void ReportException(const std::exception &e, const QString &location)
{
    int number = 0;
    if (const auto *err = dynamic_cast<const ArdlError *>(&e))
        number = err->number();
    else if (const auto *sys = dynamic_cast<const std::system_error *>(&e))
        number = sys->code().value();
    ReportError(number, QString::fromLocal8Bit(e.what()), location);
}

} // namespace ardl
