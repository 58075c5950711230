#include "FtpErrorCodes.h"

#include <curl/curl.h>

namespace ardl::FtpErrorCode {

namespace {

// Failures whose reason is in the server's reply (a refusal, a missing file).
bool isServerRefusal(CURLcode code)
{
    switch (code) {
    case CURLE_LOGIN_DENIED:
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_REMOTE_FILE_NOT_FOUND:
    case CURLE_FTP_COULDNT_RETR_FILE:
    case CURLE_FTP_COULDNT_SET_TYPE:
    case CURLE_FTP_COULDNT_USE_REST:
    case CURLE_QUOTE_ERROR:
    case CURLE_UPLOAD_FAILED:
    case CURLE_REMOTE_DISK_FULL:
    case CURLE_REMOTE_FILE_EXISTS:
    case CURLE_WEIRD_SERVER_REPLY:   // also the old FTP-only name
    case CURLE_FTP_WEIRD_PASS_REPLY:
    case CURLE_FTP_WEIRD_PASV_REPLY:
    case CURLE_FTP_WEIRD_227_FORMAT:
    case CURLE_FTP_PRET_FAILED:
        return true;
    default:
        return false;
    }
}

// The code for a failure the server said nothing about.
int withoutReply(CURLcode code)
{
    switch (code) {
    case CURLE_OK:
        return None;
    case CURLE_UNSUPPORTED_PROTOCOL:
        return UnrecognizedScheme;
    case CURLE_URL_MALFORMAT:
        return InvalidUrl;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return NameNotResolved;
    case CURLE_COULDNT_CONNECT:
    case CURLE_FTP_CANT_GET_HOST:
    case CURLE_FTP_ACCEPT_FAILED:
    case CURLE_FTP_ACCEPT_TIMEOUT:
    case CURLE_FTP_PORT_FAILED:
        return CannotConnect;
    case CURLE_OPERATION_TIMEDOUT:
        return Timeout;
    case CURLE_LOGIN_DENIED:
    case CURLE_FTP_WEIRD_PASS_REPLY:
        return LoginFailure;
    case CURLE_REMOTE_FILE_NOT_FOUND:
        return ItemNotFound;
    case CURLE_ABORTED_BY_CALLBACK:
        return OperationCancelled;
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
        return ConnectionReset;
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_FTP_WEIRD_PASV_REPLY:
    case CURLE_FTP_WEIRD_227_FORMAT:
        return ConnectionAborted;
    default:
        return InternalError;
    }
}

} // namespace

int FromCurl(int curlCode, const QString &lastReply)
{
    const auto code = CURLcode(curlCode);
    if (code != CURLE_OK && isServerRefusal(code) && !lastReply.isEmpty())
        return ExtendedError;
    return withoutReply(code);
}

} // namespace ardl::FtpErrorCode
