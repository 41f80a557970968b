#include "platform/message_map.h"

namespace varnolix {
namespace {

const MessageEntry* FindEntry(const MessageMap& map, Message message, int id) {
  for (const MessageMap* level = &map; level != nullptr; level = level->base) {
    for (const MessageEntry& entry : level->entries) {
      if (entry.message == message && (entry.id == id || entry.id == kAnyControl)) return &entry;
    }
  }
  return nullptr;
}

}  // namespace

const MessageMap& CCmdTarget::GetMessageMap() const {
  static const MessageMap map{nullptr, {}};
  return map;
}

bool CCmdTarget::Dispatch(MessageArgs& args) {
  const MessageEntry* entry = FindEntry(GetMessageMap(), args.message, args.id);
  if (entry == nullptr) return false;
  entry->handler(*this, args);
  return true;
}

bool CCmdTarget::HasHandler(Message message, int id) const {
  return FindEntry(GetMessageMap(), message, id) != nullptr;
}

}  // namespace varnolix
