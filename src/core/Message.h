#pragma once

#include <string>

namespace Velmora {

/// Identity of a message class: one static object per class, compared by address.
struct MessageType {
    const char* mName;
};

/// Base of every message. Messages are built on the sender's stack, handed to receivers by
/// reference and destroyed when the send returns; receivers never keep them.
class Message {
public:
    virtual ~Message() = default;
    /// The address of the class's static type tag.
    virtual const MessageType* GetType() const = 0;
    /// The class's name, for example "MessageUpdateLoop".
    virtual const std::string& GetName() const = 0;

    /// True when this message is of class T.
    template <class T>
    bool Is() const {
        return GetType() == &T::sType;
    }
};

/// Down-cast to T when the message is of class T, otherwise null.
template <class T>
T* MessageCast(Message& message) {
    return message.Is<T>() ? static_cast<T*>(&message) : nullptr;
}

} // namespace Velmora

/// Declares the type tag and the two identity operations of a message class.
#define VELMORA_MESSAGE(ClassName)                                            \
public:                                                                       \
    static inline const ::Velmora::MessageType sType{#ClassName};             \
    static const std::string& StaticName() {                                  \
        static const std::string name(#ClassName);                            \
        return name;                                                          \
    }                                                                         \
    const ::Velmora::MessageType* GetType() const override { return &sType; } \
    const std::string& GetName() const override { return StaticName(); }
