#pragma once
// Ends every script running in a movie: thrown past script try/catch when
// a script runs too long, recurses too deep, or the movie's heap is full.
#include <QString>
#include <exception>

namespace swf::avm1 {

class Abort : public std::exception {
public:
    explicit Abort(QString why) : reason(std::move(why)) {}
    const QString &why() const { return reason; }
    const char *what() const noexcept override { return "script aborted"; }

private:
    QString reason;
};

}
