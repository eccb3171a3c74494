#pragma once

// Pins what a result could otherwise depend on: the time zone (New York, which changes to and
// from daylight saving time), the language, and the sanitizers' options for the programs the
// tests start. Called first thing in every test program's main.
void pinTestEnvironment();
