#include "script.h"

namespace swfgen {

namespace {

Expr constant(Value value)
{
    return Expr([value](Assembler& code) { code.push({value}); });
}

Expr binary(const Expr& a, const Expr& b, Op action)
{
    return Expr([a, b, action](Assembler& code) {
        a.emit(code);
        b.emit(code);
        code.op(action);
    });
}

Expr negated(const Expr& e)
{
    return Expr([e](Assembler& code) {
        e.emit(code);
        code.op(Op::Not);
    });
}

// Arguments go on the stack last first, then their count.
void emitArguments(Assembler& code, const std::vector<Expr>& args)
{
    for (auto it = args.rbegin(); it != args.rend(); ++it)
        it->emit(code);
    code.push({int32_t(args.size())});
}

} // namespace

Expr::Expr(double number) : Expr(constant(number)) {}
Expr::Expr(int number) : Expr(constant(double(number))) {}
Expr::Expr(const char* text) : Expr(constant(std::string(text))) {}
Expr::Expr(const std::string& text) : Expr(constant(text)) {}
Expr::Expr(bool flag) : Expr(constant(flag)) {}

Expr undefined() { return constant(Undefined{}); }
Expr null() { return constant(Null{}); }

Expr var(const std::string& name)
{
    return Expr([name](Assembler& code) {
        code.push({name});
        code.op(Op::GetVariable);
    });
}

Expr member(const Expr& object, const Expr& name)
{
    return binary(object, name, Op::GetMember);
}

Expr call(const std::string& function, const std::vector<Expr>& args)
{
    return Expr([function, args](Assembler& code) {
        emitArguments(code, args);
        code.push({function});
        code.op(Op::CallFunction);
    });
}

Expr method(const Expr& object, const std::string& name, const std::vector<Expr>& args)
{
    return Expr([object, name, args](Assembler& code) {
        emitArguments(code, args);
        object.emit(code);
        code.push({name});
        code.op(Op::CallMethod);
    });
}

Expr newObject(const std::string& className, const std::vector<Expr>& args)
{
    return Expr([className, args](Assembler& code) {
        emitArguments(code, args);
        code.push({className});
        code.op(Op::NewObject);
    });
}

Expr function(const std::vector<std::string>& params, const Block& body)
{
    return Expr([params, body](Assembler& code) {
        Assembler inner;
        body.emit(inner);
        code.defineFunction("", params, inner);
    });
}

Expr random(const Expr& max)
{
    return Expr([max](Assembler& code) {
        max.emit(code);
        code.op(Op::RandomNumber);
    });
}

Expr toInteger(const Expr& value)
{
    return Expr([value](Assembler& code) {
        value.emit(code);
        code.op(Op::ToInteger);
    });
}

Expr operator+(const Expr& a, const Expr& b) { return binary(a, b, Op::Add2); }
Expr operator-(const Expr& a, const Expr& b) { return binary(a, b, Op::Subtract); }
Expr operator*(const Expr& a, const Expr& b) { return binary(a, b, Op::Multiply); }
Expr operator/(const Expr& a, const Expr& b) { return binary(a, b, Op::Divide); }
Expr operator%(const Expr& a, const Expr& b) { return binary(a, b, Op::Modulo); }
Expr operator<(const Expr& a, const Expr& b) { return binary(a, b, Op::Less2); }
Expr operator>(const Expr& a, const Expr& b) { return binary(a, b, Op::Greater); }
Expr operator<=(const Expr& a, const Expr& b) { return negated(a > b); }
Expr operator>=(const Expr& a, const Expr& b) { return negated(a < b); }
Expr operator==(const Expr& a, const Expr& b) { return binary(a, b, Op::Equals2); }
Expr operator!=(const Expr& a, const Expr& b) { return negated(a == b); }
Expr operator&&(const Expr& a, const Expr& b) { return binary(a, b, Op::And); }
Expr operator||(const Expr& a, const Expr& b) { return binary(a, b, Op::Or); }
Expr operator!(const Expr& a) { return negated(a); }

Expr keyDown(int code)
{
    return method(var("Key"), "isDown", {code});
}

Block& Block::set(const std::string& name, const Expr& value)
{
    statements_.push_back([name, value](Assembler& code) {
        code.push({name});
        value.emit(code);
        code.op(Op::SetVariable);
    });
    return *this;
}

Block& Block::setMember(const Expr& object, const Expr& name, const Expr& value)
{
    statements_.push_back([object, name, value](Assembler& code) {
        object.emit(code);
        name.emit(code);
        value.emit(code);
        code.op(Op::SetMember);
    });
    return *this;
}

Block& Block::eval(const Expr& value)
{
    statements_.push_back([value](Assembler& code) {
        value.emit(code);
        code.op(Op::Pop);
    });
    return *this;
}

Block& Block::when(const Expr& condition, const Block& then, const Block& otherwise)
{
    statements_.push_back([condition, then, otherwise](Assembler& code) {
        const auto elseLabel = code.newLabel(), endLabel = code.newLabel();
        condition.emit(code);
        code.op(Op::Not);
        code.branchIfTrue(elseLabel);
        then.emit(code);
        code.jump(endLabel);
        code.bind(elseLabel);
        otherwise.emit(code);
        code.bind(endLabel);
    });
    return *this;
}

Block& Block::loopWhile(const Expr& condition, const Block& body)
{
    statements_.push_back([condition, body](Assembler& code) {
        const auto top = code.newLabel(), exit = code.newLabel();
        code.bind(top);
        condition.emit(code);
        code.op(Op::Not);
        code.branchIfTrue(exit);
        body.emit(code);
        code.jump(top);
        code.bind(exit);
    });
    return *this;
}

Block& Block::ret(const Expr& value)
{
    statements_.push_back([value](Assembler& code) {
        value.emit(code);
        code.op(Op::Return);
    });
    return *this;
}

Block& Block::stop()
{
    statements_.push_back([](Assembler& code) { code.op(Op::Stop); });
    return *this;
}

Block& Block::append(const Block& more)
{
    statements_.insert(statements_.end(), more.statements_.begin(), more.statements_.end());
    return *this;
}

void Block::emit(Assembler& code) const
{
    for (const auto& statement : statements_)
        statement(code);
}

Bytes Block::compile() const
{
    Assembler code;
    emit(code);
    return code.finish();
}

} // namespace swfgen
