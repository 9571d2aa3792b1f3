/* A stand-in media library with one of the two entry points its table row asks for. */
int fake_present(void) { return 7; }
