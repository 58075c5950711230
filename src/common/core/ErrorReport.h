#pragma once

#include <QString>

#include <exception>
#include <stdexcept>
#include <system_error>

namespace ardl {

// An unexpected failure with a number, for routines that report one.
class ArdlError : public std::runtime_error {
public:
    ArdlError(int number, const QString &description)
        : std::runtime_error(description.toStdString()), m_number(number) {}
    int number() const { return m_number; }

private:
    int m_number;
};

// "Error <number>: <description>" CR LF <location> CR LF
// "The error occured at line: <line>", as a guarded routine reports it.
QString ErrorReportText(int number, const QString &description, const QString &location, int line = 0);

// Shows the report in a message box with the critical icon, titled "Error".
void ReportError(int number, const QString &description, const QString &location, int line = 0);

// Reports the exception `e` as the routine at `location` failing.
void ReportException(const std::exception &e, const QString &location);

// Runs `body`; when it throws, reports the failure for `location` and returns
// `emptyResult` instead: how a guarded routine ends on an unexpected error.
template <typename Result, typename Body>
Result Guarded(const QString &location, Result emptyResult, Body &&body)
{
    try {
        return body();
    } catch (const std::exception &e) {
        ReportException(e, location);
        return emptyResult;
    }
}

} // namespace ardl
