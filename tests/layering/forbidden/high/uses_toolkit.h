#pragma once
// Deliberately wrong: the toolkit in a toolkit-free layer.
#include <QString>
