#include "session.h"

#include "wildcard.h"

namespace arc {

bool Session::SetOwner(ARC_HWND window) {
  std::lock_guard lock(mutex_);
  if (!window || (owner_ && owner_ != window)) return false;
  owner_ = window;
  return true;
}

bool Session::KillOwner(ARC_HWND window) {
  std::lock_guard lock(mutex_);
  if (!owner_ || owner_ != window) return false;
  owner_ = nullptr;
  return true;
}

ARC_HWND Session::ProgressWindow(ARC_HWND commandWindow) const {
  std::lock_guard lock(mutex_);
  return owner_ ? owner_ : commandWindow;
}

HARC Session::Add(std::unique_ptr<Listing> listing) {
  std::lock_guard lock(mutex_);
  listings_.push_back(std::move(listing));
  return reinterpret_cast<HARC>(listings_.back().get());
}

Listing *Session::Find(HARC handle) {
  std::lock_guard lock(mutex_);
  for (auto &l : listings_)
    if (reinterpret_cast<HARC>(l.get()) == handle) return l.get();
  return nullptr;
}

bool Session::Close(HARC handle) {
  std::lock_guard lock(mutex_);
  for (auto it = listings_.begin(); it != listings_.end(); ++it) {
    if (reinterpret_cast<HARC>(it->get()) == handle) {
      listings_.erase(it);
      return true;
    }
  }
  return false;
}

int Session::FindFirst(HARC handle, const char *wildcard, INDIVIDUALINFO *record) {
  Listing *l = Find(handle);
  if (!l) return -1;
  l->wildcard = wildcard ? wildcard : "";
  l->next = 0;
  l->searched = true;
  return FindNext(handle, record);
}

int Session::FindNext(HARC handle, INDIVIDUALINFO *record) {
  Listing *l = Find(handle);
  if (!l || !l->searched) return -1;
  while (l->next < l->entries.size()) {
    const EntryFacts &e = l->entries[l->next++];
    if (!EntryMatches(l->wildcard, e.name)) continue;
    if (record) FillRecord(e, *record);
    return 0;
  }
  return -1;
}

bool Report(ARC_HWND window, unsigned state, const EntryFacts &facts, const std::string &destination,
            uint64_t written) {
  if (!window || !window->deliver) return false;
  EXTRACTINGINFOEX info;
  FillProgress(facts, destination, written, info);
  return window->deliver(window->context, ARC_WM_ARCEXTRACT, state, &info) != 0;
}

}  // namespace arc
