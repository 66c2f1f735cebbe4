// Arithmetic compiled for the x87 unit on purpose: the x87 check must find it.
double dX87Sample(double a, double b) { return a * b + a / b; }
