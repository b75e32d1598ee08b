// PROVISIONAL STUB
#include "demohost.h"
int main() { return 0; }
