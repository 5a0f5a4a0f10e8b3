// The two sound effects the generator composes.
#pragma once

void good_wav();
void bad_wav();
