// A program whose own arithmetic is compiled for the x87 unit on purpose:
// the x87 check must find it.
double dX87Sample(double a, double b) { return a * b + a / b; }

int main(int argc, char**) { return (int)dX87Sample(argc, 3.0); }
