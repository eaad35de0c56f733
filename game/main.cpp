// The player's entry point; the game start-up arrives with the program entry.
int main() { return 0; }
