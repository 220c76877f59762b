#include "photometry/angle_lists.h"

void printAngleMap(const char* label, const std::vector<float>& angles,
                   std::ostream& console) {
  console << label << std::endl;
  for (const float angle : angles) console << angle << ", ";
  console << std::endl;
}

void shiftVerticalAngles(std::vector<float>* angles, std::ostream& console) {
  if (angles->empty() || !(angles->front() > 0)) return;
  const float base = angles->front();
  for (float& angle : *angles) angle -= base;
  printAngleMap("Vertical angles (transformed): ", *angles, console);
}
