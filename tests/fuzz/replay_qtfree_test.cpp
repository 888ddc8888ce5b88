#include "replay.h"

TEST(FuzzReplay, CommandLine) { fuzz::replayInputs("command_line", fuzz::command_line); }
TEST(FuzzReplay, UserIni) { fuzz::replayInputs("user_ini", fuzz::user_ini); }
TEST(FuzzReplay, Encodings) { fuzz::replayInputs("encodings", fuzz::encodings); }
TEST(FuzzReplay, AgentAnswer) { fuzz::replayInputs("agent_answer", fuzz::agent_answer); }
TEST(FuzzReplay, NetSnmpAnswer) { fuzz::replayInputs("netsnmp_answer", fuzz::netsnmp_answer); }
TEST(FuzzReplay, PollResults) { fuzz::replayInputs("poll_results", fuzz::poll_results); }
TEST(FuzzReplay, TableRows) { fuzz::replayInputs("table_rows", fuzz::table_rows); }
TEST(FuzzReplay, TrunkSnapshot) { fuzz::replayInputs("trunk_snapshot", fuzz::trunk_snapshot); }
