// Pelorin's version, kept here only: the version window shows it ("Pelorin
// Version 1.04"), the version resource carries it, and scripts/release.sh
// names the release after it. The minor part is written with two digits.
#pragma once

#define PELORIN_VERSION_MAJOR 1
#define PELORIN_VERSION_MINOR 04

#define PELORIN_JOIN_(a, b) a##b
#define PELORIN_JOIN(a, b) PELORIN_JOIN_(a, b)
#define PELORIN_TEXT_(x) #x
#define PELORIN_TEXT(x) PELORIN_TEXT_(x)

// In hundredths: 104 reads 1.04.
#define PELORIN_VERSION PELORIN_JOIN(PELORIN_VERSION_MAJOR, PELORIN_VERSION_MINOR)
// "1.04"
#define PELORIN_VERSION_TEXT PELORIN_TEXT(PELORIN_VERSION_MAJOR) "." PELORIN_TEXT(PELORIN_VERSION_MINOR)
