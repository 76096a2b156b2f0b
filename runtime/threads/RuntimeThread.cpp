// placeholder until the runtime's first area lands
