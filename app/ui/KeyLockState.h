#pragma once
// Whether Caps Lock and Num Lock are on; false where the platform cannot tell.
namespace vorlix {

struct TKeyLocks {
    bool CapsLock = false;
    bool NumLock = false;
};

TKeyLocks QueryKeyLocks();

}  // namespace vorlix
