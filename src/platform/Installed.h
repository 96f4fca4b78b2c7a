#pragma once
// The one instance of a service that stands for a part of the operating
// system (the modal runner, the drive table): installed by the program at
// start or by a test, and reached from everywhere through Current.

#include <utility>

template <class Service>
class Installed {
public:
    // The installed instance; null when none is.
    static Service* Current() { return s_current; }
    // Installs an instance (null: none) and returns the previous one.
    static Service* Install(Service* instance) { return std::exchange(s_current, instance); }

private:
    static inline Service* s_current = nullptr;
};
