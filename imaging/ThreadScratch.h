#pragma once
// Scratch memory an encoder keeps per thread between frames (batch runs code
// thousands of them), freed when the thread ends.
//
// A pthread key, not a thread_local object: under a memory limit glibc ends
// the whole process when it cannot register a thread_local destructor, while
// a key says so, and the run then ends with "out of memory".
#include <pthread.h>

#include <memory>
#include <new>

namespace vorlix {

template <class T>
class TThreadScratch {
public:
    // This thread's T, made on first use; throws std::bad_alloc when it cannot be.
    static T& Get() {
        const pthread_key_t key = Key();
        if (void* held = pthread_getspecific(key)) return *static_cast<T*>(held);
        auto made = std::make_unique<T>();
        if (pthread_setspecific(key, made.get()) != 0) throw std::bad_alloc();
        return *made.release();
    }

private:
    static pthread_key_t Key() {
        static const pthread_key_t key = [] {
            pthread_key_t made;
            if (pthread_key_create(&made, [](void* held) { delete static_cast<T*>(held); }) != 0)
                throw std::bad_alloc();
            return made;
        }();
        return key;
    }
};

}  // namespace vorlix
