// The title picture and the cutscenes.
#pragma once

void title_bmp();
void cutscene_0_0();
void cutscene_0_1();
void cutscene_1_0();
void cutscene_2_0();
void cutscene_3_0();
