#pragma once

// Pins what a result could otherwise depend on: the time zone (New York, which changes to and
// from daylight saving time), the language, the sanitizers' options for the programs the tests
// start, and a session bus that is not there unless a test starts one. Called first thing in
// every test program's main.
void pinTestEnvironment();
