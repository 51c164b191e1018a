# Pure C++ files go to quoxa_core; Qt files to quoxa_gui (inside if(QUOXA_BUILD_GUI)).
