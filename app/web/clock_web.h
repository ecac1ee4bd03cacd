// The page's clock, as the page shell steers it: a shared run plays back
// faster or slower by the speed its clock runs at.
#pragma once

// Game time runs at quarters / 4 of real time from now on (quarters > 0),
// going on from where it was.
void setPageClockSpeed(int quarters);
