// Outside effects (message boxes, the shell) sit behind small interfaces. Each has
// one production implementation; tests put a double in its place for a scope.
#pragma once

namespace varnolix {

// The implementation in use: the override when a test set one, else production.
// `Interface` declares `static Interface& Production();`.
template <class Interface>
Interface*& ServiceOverride() {
  static Interface* current = nullptr;
  return current;
}

template <class Interface>
Interface& Service() {
  Interface* current = ServiceOverride<Interface>();
  return current != nullptr ? *current : Interface::Production();
}

// Puts `replacement` in place for the lifetime of this object.
template <class Interface>
class ScopedService {
 public:
  explicit ScopedService(Interface& replacement) : m_previous(ServiceOverride<Interface>()) {
    ServiceOverride<Interface>() = &replacement;
  }
  ~ScopedService() { ServiceOverride<Interface>() = m_previous; }
  ScopedService(const ScopedService&) = delete;
  ScopedService& operator=(const ScopedService&) = delete;

 private:
  Interface* m_previous;
};

}  // namespace varnolix
