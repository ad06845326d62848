// Shared helpers for the unit tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_gl/recording_gl.h"

// Puts the viewer state back to its start values and empties the recorder.
void freshStart();

// A point to three decimals, as the figures of the house are given.
::testing::AssertionResult near3(const rgl::Vec3& actual, float x, float y, float z, float tolerance = 0.0015f);

// The primitives whose glBegin came at or after call index `from`.
std::vector<const rgl::Primitive*> primitivesFrom(size_t from);

// Where a local point lands under a matrix.
rgl::Vec3 place(const rgl::Mat4& m, float x, float y, float z);

// The names of the calls in the log, filtered to the given set.
std::vector<std::string> callsAmong(const std::vector<std::string>& names);
