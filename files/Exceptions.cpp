#include "files/Exceptions.h"

#include "files/IOErrors.h"

namespace vorlix {

EInOutError::EInOutError(int code) : EVorlixError(IOErrorMessage(code)), Code(code) {}
EInOutError::EInOutError(int code, std::string message) : EVorlixError(std::move(message)), Code(code) {}

}  // namespace vorlix
