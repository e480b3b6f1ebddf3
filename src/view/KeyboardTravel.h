// The program-wide time of the previous travel key press, which the view's
// key handler compares with the magnitude tolerance.
#pragma once

// Milliseconds within the hour of the previous Up or Down press; 0 at start.
int PreviousTravelPressMs();
// Back to the start-up value 0 (for tests that need a fresh program state).
void ResetTravelPressClock();
