#include <cstdio>
int main() { std::puts("plandra-cli"); return 0; }
