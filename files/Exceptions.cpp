#include "files/Exceptions.h"

#include "files/IOErrors.h"

namespace vorlix {

EInOutError::EInOutError(int code) : EVorlixError(IOErrorMessage(code)), Code(code) {}

}  // namespace vorlix
