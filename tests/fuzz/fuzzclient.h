#ifndef VANTOREL_FUZZCLIENT_H
#define VANTOREL_FUZZCLIENT_H

// What every fuzz target needs before its first input: an application
// object (the client's timers and sockets want one), a settings folder of
// its own and no session bus, so that a run neither reads nor writes the
// user's settings or keyring.
void initFuzzEnvironment(int *argc, char ***argv);

#endif
