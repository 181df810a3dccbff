// A small expression and statement builder over the assembler, so game logic reads as
// ActionScript instead of stack code:
//     Block b;
//     b.set("score", var("score") + 1);
//     b.when(method(var("Key"), "isDown", {Key::Left}), Block().set("x", var("x") - 8));
#pragma once

#include "assembler.h"

#include <functional>

namespace swfgen {

class Block;

// An expression: code that leaves exactly one value on the stack.
class Expr {
public:
    using Emitter = std::function<void(Assembler&)>;
    explicit Expr(Emitter emit) : emit_(std::move(emit)) {}
    Expr(double number);
    Expr(int number);
    Expr(const char* text);
    Expr(const std::string& text);
    Expr(bool flag);

    void emit(Assembler& code) const { emit_(code); }

private:
    Emitter emit_;
};

Expr undefined();
Expr null();
Expr var(const std::string& name);
// object[name]; a plain string name reads object.name.
Expr member(const Expr& object, const Expr& name);
Expr call(const std::string& function, const std::vector<Expr>& args = {});
Expr method(const Expr& object, const std::string& name, const std::vector<Expr>& args = {});
Expr newObject(const std::string& className, const std::vector<Expr>& args = {});
// An anonymous function (ActionDefineFunction) as a value.
Expr function(const std::vector<std::string>& params, const Block& body);
// A random whole number from 0 to max - 1.
Expr random(const Expr& max);
Expr toInteger(const Expr& value);

// ActionScript 2 semantics: + adds numbers or joins strings; && and || evaluate both sides.
Expr operator+(const Expr& a, const Expr& b);
Expr operator-(const Expr& a, const Expr& b);
Expr operator*(const Expr& a, const Expr& b);
Expr operator/(const Expr& a, const Expr& b);
Expr operator%(const Expr& a, const Expr& b);
Expr operator<(const Expr& a, const Expr& b);
Expr operator>(const Expr& a, const Expr& b);
Expr operator<=(const Expr& a, const Expr& b);
Expr operator>=(const Expr& a, const Expr& b);
Expr operator==(const Expr& a, const Expr& b);
Expr operator!=(const Expr& a, const Expr& b);
Expr operator&&(const Expr& a, const Expr& b);
Expr operator||(const Expr& a, const Expr& b);
Expr operator!(const Expr& a);

// Key codes for Key.isDown.
namespace Key {
constexpr int Space = 32, Left = 37, Up = 38, Right = 39, Down = 40;
}
// Key.isDown(code)
Expr keyDown(int code);

// A sequence of statements.
class Block {
public:
    Block& set(const std::string& name, const Expr& value);
    Block& setMember(const Expr& object, const Expr& name, const Expr& value);
    // Evaluates an expression for its effect and drops the result.
    Block& eval(const Expr& value);
    Block& when(const Expr& condition, const Block& then, const Block& otherwise = Block());
    Block& loopWhile(const Expr& condition, const Block& body);
    Block& ret(const Expr& value);
    Block& stop();
    Block& append(const Block& more);

    void emit(Assembler& code) const;
    // The block as finished action bytes, for a DoAction tag.
    Bytes compile() const;

private:
    std::vector<Expr::Emitter> statements_;
};

} // namespace swfgen
