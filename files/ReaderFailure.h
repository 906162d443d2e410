#pragma once
// The one way the file readers turn what went wrong into the message they report.
#include <exception>
#include <new>
#include <string>

#include "files/Exceptions.h"

namespace vorlix {

// Runs read(); returns an empty string on success, else the message to show:
// notKindMessage when the file is not of the expected kind (ENotKind),
// the error's own text otherwise.
template <class ENotKind, class Read>
std::string ReadAndDescribeFailure(Read&& read, const std::string& notKindMessage) {
    try {
        read();
    } catch (const ENotKind&) {
        return notKindMessage;
    } catch (const EVorlixError& e) {
        return e.Message();
    } catch (const std::bad_alloc&) {
        return "Out of memory.";
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

// The message of a file that is not of the expected kind ("EPD", "PGN").
inline std::string NotAValidFileMessage(const std::string& fileName, const char* kind) {
    return fileName + " does not seem to\r\n be a valid " + kind + " file.";
}

}  // namespace vorlix
