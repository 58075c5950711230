#pragma once

#include <QString>

// Failures of the FTP layer are numbered like the classic Internet client
// error codes, so that one table of texts serves every caller.
namespace ardl::FtpErrorCode {

constexpr int None = 0;
constexpr int First = 12001;
constexpr int Timeout = 12002;
constexpr int ExtendedError = 12003;      // the text is the server's last reply
constexpr int InternalError = 12004;
constexpr int InvalidUrl = 12005;
constexpr int UnrecognizedScheme = 12006;
constexpr int NameNotResolved = 12007;
constexpr int LoginFailure = 12015;
constexpr int OperationCancelled = 12017;
constexpr int IncorrectHandleState = 12019;
constexpr int ItemNotFound = 12028;
constexpr int CannotConnect = 12029;
constexpr int ConnectionAborted = 12030;
constexpr int ConnectionReset = 12031;
constexpr int Last = 12037;

// The code for a failed libcurl call (`curlCode` is a CURLcode) whose last
// server reply was `lastReply` ("" when none came). Server refusals become
// ExtendedError only when there is a reply to show.
int FromCurl(int curlCode, const QString &lastReply);

} // namespace ardl::FtpErrorCode
