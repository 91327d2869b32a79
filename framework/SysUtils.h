#pragma once
// Basic types of the framework: its string type and the root of its exceptions.
#include <QString>
#include <exception>

using String = QString;

// Every framework and control error. An exception that escapes an event
// handler reaches Application->HandleException, which shows Message.
class Exception : public std::exception {
public:
    explicit Exception(const String &message) : Message(message), utf8(message.toUtf8()) {}
    const char *what() const noexcept override { return utf8.constData(); }
    String Message;

private:
    QByteArray utf8;
};

// Raised for a failure in the operating system or its resources.
class EOSError : public Exception {
public:
    using Exception::Exception;
};
