#pragma once

struct Base {
    virtual ~Base() = default;
};
struct Declared;

class Part : public Base {
public:
    class Inner {};
};
