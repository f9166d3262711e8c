#pragma once

class FormsRuntime;

// The numbers the window keeps between clicks. Compute writes all three
// before it reads any of them; clear and exit leave them as they are.
struct WindowNumbers {
    double PesoReale = 0.0;
    double PesoIdeale = 0.0;
    double PesoCalcolato = 0.0;
};

// The three commands behind the window's buttons. They reach the fields, the
// message box and the end of the program only through the forms runtime, and
// trap no errors: FormsRuntime::run shows what a command raises.
class Calculator {
public:
    explicit Calculator(FormsRuntime& forms);

    void compute();
    void clear();
    void exit();

private:
    FormsRuntime& m_forms;
    WindowNumbers m_numbers;
};
